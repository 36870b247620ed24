#pragma once
// The splash screen shown while the editor starts: a picture with a status line and a
// version line drawn over it. It closes on its timer, on input when asked to, or when
// the application destroys it at its first idle moment; it deletes itself then.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>
#include <QWidget>

class CSplashScreenEx : public QWidget {
    Q_OBJECT
public:
    enum Style : unsigned {
        SplashFadeIn = 1,
        SplashFadeOut = 2,
        SplashShadow = 4,
        SplashCentreScreen = 8,
        SplashCentreParent = 16,
        SplashHideOnInput = 32,
    };
    // The display time a splash screen has until Create clears it.
    static constexpr int kDefaultDisplayMs = 2000;
    static constexpr int kFadeInMs = 500;
    static constexpr int kFadeOutMs = 200;
    // The flags Create sets: a shadow, centred on the screen.
    static constexpr unsigned kCreateStyle = SplashShadow | SplashCentreScreen;
    // Drawing formats, as the editor's texts give them: single line, centred vertically,
    // and (21) centred horizontally too.
    static constexpr unsigned kFormatCentred = 21;
    static constexpr unsigned kFormatLeft = 20;
    static constexpr int kSecondFontPoints = 17;

    CSplashScreenEx();
    ~CSplashScreenEx() override;

    // A top-most frameless tool window owned by parent; the status text and the display
    // time are cleared. False when the window could not be made.
    bool Create(QWidget* parent);
    // The picture sets the window's size; its position follows the centring flag. False
    // when the file is not a picture (the window stays blank at its old size).
    bool SetBitmap(const QString& path);
    void SetBitmap(const QImage& image);
    // The version line: Verdana 17 points, white, left and centred vertically in rect.
    void SetTextFont(const QRect& rect, const QString& text);
    // Shows without activating, and starts the display timer when there is a time.
    void Show();
    // The status line, painted at once.
    void SetText(const QString& text);
    // Hides (blending out with SplashFadeOut) and deletes the window later.
    void Close();

    unsigned Style() const { return m_style; }
    void SetStyle(unsigned style) { m_style = style; }
    int DisplayTime() const { return m_displayMs; }
    void SetDisplayTime(int milliseconds) { m_displayMs = milliseconds; }
    const QString& Text() const { return m_text; }
    const QString& SecondText() const { return m_secondText; }
    const QFont& SecondFont() const { return m_secondFont; }

    // Public as the start-up sets them directly.
    QRect m_textRect;
    unsigned m_format = kFormatCentred;
    QColor m_textColor = Qt::white;

    // Qt alignment flags for a drawing format.
    static int AlignmentOf(unsigned format);

protected:
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void placeWindow();

    QWidget* m_parent = nullptr;
    QImage m_bitmap;
    QFont m_secondFont;
    QString m_text;
    QString m_secondText;
    int m_displayMs = kDefaultDisplayMs;
    unsigned m_style = 0;
    QRect m_secondRect;
    QColor m_secondColor = Qt::white;
    int m_timerId = 0;
    bool m_closing = false;
};
