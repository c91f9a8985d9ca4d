#pragma once
// Text commands that drive a simulated keyboard, for tests in other
// processes (through the control socket, sim_control_server.h) and for
// `varnetctl sim`. One command is one line of words; the reply is text whose
// first line is "ok" or "error: <why>".
//
//   status                       keyboards, their interfaces and state
//   plug MODE [INDEX]            connection (or one interface of it) plugged
//   unplug MODE [INDEX]          ... unplugged
//   mode MODE                    only this connection plugged
//   battery PERCENT
//   link | unlink                keyboard behind the receiver on / off
//   key VALUE                    a key whose entry is 05 02 VALUE pressed
//   release 0xNNNN               firmware release of the connections
//   notify MODE HEX              any input report on a connection's notify interface
//   fault NAME [COUNT] [VALUE]   misbehaviour: none, no-answer, late MS, wrong-echo,
//                                busy, nack [VALUE], garbage, disconnect-after N, latency MS
//   memory                       what the keyboard remembers
//   errors | clear-errors        malformed transactions it ignored
//
// MODE is cable, receiver or bluetooth (or 0, 2, 1). A word "kb=N" (device
// type or simulator index) picks the keyboard; otherwise the first one with
// something plugged, else the first one.
#include <QStringList>
#include <string>

#include "sim/sim_backend.h"

std::string ExecuteSimCommand(SimBackend& sim, const QStringList& words);
// Path of the control socket: $VARNET_SIM_SOCKET, else
// $XDG_RUNTIME_DIR/varnet-sim.sock, else /tmp/varnet-sim-<uid>.sock.
std::string DefaultSimSocketPath();
