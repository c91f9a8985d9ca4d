#include "app/headless_window.h"

#include <cstdio>

void HeadlessWindow::ShowAndRaise()
{
    std::fprintf(stderr, "varnet: a second start asked this instance to show its window\n");
    std::fflush(stderr);
}
