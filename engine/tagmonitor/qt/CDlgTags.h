#pragma once
// The engine's "Tags" window: every tag of the tags file beside the target file, one row
// each (Name, Type, Size, Value), with the values read from the tag memory ten times a
// second. A value typed into the Value column is written straight into the memory, where
// the running pages see it on their next frame. Closing only hides the window.

#include <QDialog>
#include <QTimer>
#include <cstdint>
#include <string>

#include "engine/tagmonitor/CTagMemory.h"
#include "engine/tagmonitor/CTagValue.h"
#include "engine/tagmonitor/grid/CGridListener.h"

class CGridCtrl;
class DFile;

class CDlgTags : public QDialog, private CGridListener {
    Q_OBJECT
public:
    static constexpr int kRefreshMs = 100;
    static constexpr int kGridId = 1001;
    enum Column : int { Name = 0, Type = 1, Size = 2, Value = 3, ColumnCount = 4 };
    static constexpr int kFixedColumns = 3;
    static constexpr int kNameWidth = 120, kSizeWidth = 35, kValueWidth = 180;
    static constexpr int kHeaderHeight = 25, kRowHeight = 22;
    // The grid keeps this much of the window's width and height free.
    static constexpr int kLayoutInset = 15;
    // The window and the grid's place, in dialog units of the window's font.
    static constexpr QSize kDialogUnits{297, 194};
    static constexpr QRect kGridUnits{5, 5, 287, 185};

    // Reads the tags file while it initialises; the file is not kept. memory gives the
    // tag memory afresh for every refresh and write.
    CDlgTags(DFile& tagsFile, CTagMemorySource memory, QWidget* parent = nullptr);
    ~CDlgTags() override;

    // Set by OK and Cancel (the close box among them); the display then makes a new one.
    [[nodiscard]] bool isClosed() const { return m_closed != 0; }
    CGridCtrl& grid() { return *m_grid; }
    // Reads every listed tag and puts changed values into their cells; true when any
    // changed, and only then is the grid redrawn.
    bool refresh();

protected:
    void done(int result) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int onGridNotify(const CGridNotification& notification) override;
    void fillRows(DFile& tagsFile);
    [[nodiscard]] CTagPlace placeOf(int row) const;
    // Pixels of a dialog unit rectangle in the window's font.
    [[nodiscard]] QRect toPixels(const QRect& units) const;

    CTagMemorySource m_memory;
    uint32_t m_closed = 0;
    CGridCtrl* m_grid; // a child: destroyed with the window
    QTimer m_timer;
    CTagValue m_values;
    std::u16string m_text;
};
