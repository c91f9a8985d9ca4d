#pragma once
// A list of pictures (icon strips) loaded from full paths, drawn by index.
#include <QImage>
#include <memory>
#include <vector>

#include "oxa/core/geometry.h"
#include "oxa/core/oxa_export.h"
#include "oxa/core/types.h"

class QPainter;

namespace OXA {

struct _M_IAMGELIST {
    QImage* image = nullptr;
    int frameWidth = 0;
    int frameHeight = 0;
    int id = 0;
    int frames = 1;
    CString path;
};

class OXA_API MImageList {
public:
    MImageList();
    ~MImageList();
    MImageList(const MImageList&) = delete;
    MImageList& operator=(const MImageList&) = delete;

    // Appends; returns the new index, -1 when the picture cannot be loaded.
    int AddImage(const CString& path, int id, int frames);
    // index -1 appends and returns the new index; 0..count-1 inserts before
    // that position and returns -1; a null path or other index gives -1.
    int InsertImage(int index, const CString& path, int id, int frames);
    int GetImageCount() const { return int(m_items.size()); }
    void DelAllImages();
    _M_IAMGELIST* GetItemImageData(int index);
    _M_IAMGELIST* GetImageDataByID(int id);
    CString GetImagePath(int index) const;
    CString GetImagePathByID(int id) const;
    void SetDrawImgSize(int width, int height);
    CSize GetIconSize() const { return m_drawSize; }
    // Frame 0 (or min(frame, frames - 1)) stretched into rect.
    void DrawItemIcon(QPainter& g, CRect rect, int index);
    void DrawItemIcon(QPainter& g, CRect rect, int index, int frame);

private:
    struct Item {
        _M_IAMGELIST data;
        std::unique_ptr<QImage> image;
    };
    std::vector<std::unique_ptr<Item>> m_items;
    CSize m_drawSize;
};

}  // namespace OXA
