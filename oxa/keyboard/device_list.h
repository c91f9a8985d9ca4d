#pragma once
// The row of keyboard tiles on the home page: one record per keyboard of the
// catalogue, of which only the present ones (state above 0) are shown, left
// to right, 120 pixels wide with 20 pixels between them. A tile shows the
// keyboard's picture scaled down to fit, an orange frame and the name along
// its bottom. Releasing the left button over a tile selects it and reports
// code 2 (0, 0).
//
// The program's worker thread marks keyboards present or absent while the
// window paints: the records are guarded by their own lock, and the state
// operations may be called from any thread.
#include <QImage>
#include <mutex>
#include <vector>

#include "oxa/core/panel.h"

class QPainter;

namespace OXA {

class OXA_API CDeviceList : public MPanel {
public:
    static constexpr int kTileWidth = 120;
    static constexpr int kTileGap = 20;
    static constexpr int kNameHeight = 20;

    CDeviceList(MObject* parent, unsigned id, CRect rect, int visible = 1);
    ~CDeviceList() override;

    void DrawControl(HDC& hdc, CRect paint) override;
    long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
    void SetControlRect(CRect rect) override;
    int OnControlMouseMove(unsigned flags, CPoint pt) override;
    int OnControlLButtonDown(unsigned flags, CPoint pt) override;
    int OnControlLButtonUp(unsigned flags, CPoint pt) override;
    int OnControlScroll(int kind, unsigned down, CPoint pt) override;

    // Appends an absent keyboard; both pictures come from full paths (a
    // picture that cannot be loaded is left out). Returns the new index.
    int AddDevice(const CString& name, int deviceType, const CString& normalPicture,
                  const CString& selectedPicture);
    void ClearList();
    // The first record of the type; an unknown type changes nothing.
    void SetDeviceState(int deviceType, int state);
    void SetAllDeviceState(int state);
    // The first matching record's state, 0 when none.
    int GetDeviceState(int deviceType);
    // Selects the first present record of the type, else the first present
    // record, else none (-1).
    void SetSelectDevice(int deviceType);
    // The selected record's device type; 0 for an empty list. A selection of
    // none counts as (and becomes) record 0.
    int GetSelectDevice();
    int GetItemCount();

    int GetHoverIndex();
    int GetSelectIndex();
    // The tile of record index in control coordinates; empty while the
    // record is absent or out of range.
    CRect GetItemRect(int index);

private:
    struct Record {
        CString name;
        int deviceType = 0;
        int state = 0;
        QImage normal;
        QImage selected;
        CRect rect;  // control coordinates; empty while absent
    };

    // Places the present records' tiles (records lock held); returns how
    // many are shown.
    int LayoutLocked();
    // The first shown record whose tile holds pt (control coordinates).
    int HitLocked(CPoint pt) const;
    void DrawTile(QPainter& p, const Record& record, bool highlighted);

    std::recursive_mutex m_recordLock;
    std::vector<Record> m_records;
    int m_hover = -1;
    int m_select = 0;
};

}  // namespace OXA
