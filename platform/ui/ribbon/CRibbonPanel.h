#pragma once
// A captioned group of controls on a category. Small controls stack three to a column;
// a large button or a gallery takes a column of its own; a button group is one row.

#include <QFrame>
#include <QImage>
#include <QRgb>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <span>
#include <vector>

#include "platform/ui/ribbon/CRibbonControl.h"

class QCheckBox;
class QComboBox;
class QFontComboBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QSlider;
class QToolButton;
class QVBoxLayout;
class CRibbonBar;
class CRibbonCategory;
class CRibbonColourButton;
class CRibbonGallery;

// An entry of a button's drop-down menu; id 0 is a caption.
struct RibbonMenuItem {
    int id = 0;
    QString label;
    int image = -1;
};

struct RibbonGalleryItem {
    QImage preview;
    QString name;
};

class CRibbonPanel : public QFrame {
    Q_OBJECT
public:
    static constexpr int kRows = 3;

    CRibbonPanel(CRibbonCategory& category, const QString& caption);

    // image indexes the category's strip (small or large by size); -1 is no image.
    QToolButton* AddButton(int id, const QString& label, int image, RibbonButtonSize size = RibbonButtonSize::Small);
    QToolButton* AddButton(int id, const QString& label, const QIcon& icon, RibbonButtonSize size);
    // A button that runs id and opens items from its arrow.
    QToolButton* AddMenuButton(int id, const QString& label, int image, RibbonButtonSize size,
                               std::span<const RibbonMenuItem> items);
    QCheckBox* AddCheckBox(int id, const QString& label);
    // width is the width of the text; item data, when given, goes with the items in order.
    QComboBox* AddCombo(int id, const QStringList& items, int width, RibbonComboKind kind,
                        const QVariantList& data = {});
    QFontComboBox* AddFontCombo(int id, int width);
    // An edit with an optional label before it.
    QLineEdit* AddEdit(int id, const QString& label, int width);
    QSlider* AddSlider(int id, int minimum, int maximum);
    CRibbonColourButton* AddColourButton(int id, const QString& label, std::span<const QRgb> palette);
    CRibbonGallery* AddGallery(int id, const QString& label, const std::vector<RibbonGalleryItem>& items);
    // A static text, an image, or both; a label with a command id is enabled as its
    // command is.
    QLabel* AddLabel(const QString& text, int image = -1, int id = 0);
    // Buttons added between BeginButtonGroup and EndButtonGroup sit in one framed row; a
    // row begun by BeginRow is a plain one (a caption and its control).
    void BeginButtonGroup();
    void BeginRow();
    void EndButtonGroup();
    void AddSeparator();

    const QString& Caption() const { return m_caption; }
    CRibbonCategory& Category() const { return m_category; }

private:
    void addSmall(QWidget* widget);
    void addLarge(QWidget* widget);
    void connectButton(int id, QToolButton* button);
    void connectCombo(int id, QComboBox* combo);
    void beginRow(QFrame::Shape frame);

    CRibbonCategory& m_category;
    CRibbonBar& m_bar;
    QString m_caption;
    QHBoxLayout* m_columns = nullptr;
    QVBoxLayout* m_column = nullptr;
    int m_rowsUsed = 0;
    QHBoxLayout* m_group = nullptr;
};
