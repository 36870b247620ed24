#pragma once
// A page of a given size and resolution that keeps the texts painted on it, with where
// they were put in device pixels, and draws nothing.

#include <QPaintDevice>
#include <QPaintEngine>
#include <QString>
#include <QTransform>
#include <vector>

namespace vx::test {

class RecordingPaintDevice final : public QPaintDevice {
public:
    struct Text {
        QString text;
        QPointF at;
    };

    RecordingPaintDevice(int width, int height, int dotsPerInch)
        : m_width(width), m_height(height), m_dotsPerInch(dotsPerInch), m_engine(*this)
    {
    }
    ~RecordingPaintDevice() override = default;

    [[nodiscard]] const std::vector<Text>& texts() const { return m_texts; }
    [[nodiscard]] bool holds(const QString& text) const
    {
        for (const Text& t : m_texts)
            if (t.text == text)
                return true;
        return false;
    }

    QPaintEngine* paintEngine() const override { return &m_engine; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return m_width;
        case PdmHeight:
            return m_height;
        case PdmWidthMM:
            return m_width * 254 / (10 * m_dotsPerInch);
        case PdmHeightMM:
            return m_height * 254 / (10 * m_dotsPerInch);
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return m_dotsPerInch;
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return INT_MAX;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        }
        return 0;
    }

private:
    // Takes every feature, so the painter hands it whole text items; shapes are dropped.
    class Engine final : public QPaintEngine {
    public:
        explicit Engine(RecordingPaintDevice& device) : QPaintEngine(AllFeatures), m_device(device) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState& state) override
        {
            if (state.state() & DirtyTransform)
                m_transform = state.transform();
        }
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        void drawPath(const QPainterPath&) override {}
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
        void drawTextItem(const QPointF& at, const QTextItem& item) override
        {
            m_device.m_texts.push_back({item.text(), m_transform.map(at)});
        }
        Type type() const override { return User; }

    private:
        RecordingPaintDevice& m_device;
        QTransform m_transform;
    };

    int m_width;
    int m_height;
    int m_dotsPerInch;
    mutable Engine m_engine;
    std::vector<Text> m_texts;
};

} // namespace vx::test
