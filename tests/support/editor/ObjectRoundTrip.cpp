#include "tests/support/editor/ObjectRoundTrip.h"

#include <FreeImage.h>

#include <chrono>
#include <thread>

#include "editor/document/CPropertyBase.h"
#include "editor/objects/shared/CResourceAlignment.h"
#include "engine/core/DFile_Memory.h"
#include "engine/core/DPage.h"
#include "foundation/image/CWinFreeImage.h"
#include "foundation/target/TargetBytes.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Surface.h"
#include "tests/support/TargetBuilder.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/XvfbSession.h"

namespace vx::test {

namespace {

using target::ObjectRecordHeader;

ObjectRecordHeader headerOf(const std::vector<uint8_t>& record)
{
    ObjectRecordHeader header;
    header.type = 0;
    if (record.size() >= ObjectRecordHeader::kSize)
        header = target::decodeRecord<ObjectRecordHeader>(
            std::span<const uint8_t, ObjectRecordHeader::kSize>(record.data(), ObjectRecordHeader::kSize));
    return header;
}

PagePixels fromPremultiplied(const gfx::ConstPixelBuffer& pixels)
{
    PagePixels page{pixels.width, pixels.height, {}};
    page.argb.reserve(std::size_t(pixels.width) * std::size_t(pixels.height));
    for (int32_t y = 0; y < pixels.height; ++y)
        for (int32_t x = 0; x < pixels.width; ++x)
            page.argb.push_back(pixels.row(y)[x]);
    return page;
}

} // namespace

bool PagePixels::WritePng(const std::filesystem::path& png) const
{
    if (empty())
        return false;
    FIBITMAP* bitmap = FreeImage_Allocate(width, height, 32, FI_RGBA_RED_MASK, FI_RGBA_GREEN_MASK, FI_RGBA_BLUE_MASK);
    if (!bitmap)
        return false;
    // FreeImage keeps rows bottom-up.
    for (int32_t y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(FreeImage_GetScanLine(bitmap, height - 1 - y));
        for (int32_t x = 0; x < width; ++x)
            row[x] = at(x, y) | 0xFF000000u;
    }
    const bool saved = FreeImage_Save(FIF_PNG, bitmap, png.c_str(), PNG_DEFAULT) != 0;
    FreeImage_Unload(bitmap);
    return saved;
}

std::size_t PagePixels::CountDifferences(const PagePixels& other) const
{
    std::size_t count = 0;
    for (int32_t y = 0; y < height && y < other.height; ++y)
        for (int32_t x = 0; x < width && x < other.width; ++x)
            count += (at(x, y) & 0xFFFFFF) != (other.at(x, y) & 0xFFFFFF);
    return count;
}

ObjectRoundTrip::ObjectRoundTrip(int colorDepth, uint32_t targetFlags)
    : m_colorDepth(colorDepth), m_targetFlags(targetFlags), m_page(kPageObjectType)
{
}

void ObjectRoundTrip::Add(CEditorObject& object)
{
    m_objects.push_back(&object);
    m_compiled = false;
}

const std::vector<uint8_t>& ObjectRoundTrip::Compile()
{
    const std::size_t count = m_objects.size();
    m_compiler.resources.Begin(m_colorDepth, m_targetFlags);
    m_compiler.elementRects.clear();
    m_compiler.scope.page = &m_page;
    m_compiler.scope.firstObject = count ? m_objects.front() : nullptr;
    for (std::size_t i = 0; i < count; ++i)
        if (const CPropertyBase* name = m_objects[i]->FindProperty(u"none", u"_Original name"))
            m_compiler.scope.objects[name->GetValueText()] = int32_t(TargetIndexOf(i));

    TargetBuilder builder(kWidth, kHeight, 1);
    builder.header().pixelFormat = target::pixelFormatForDepth(m_colorDepth);
    CResourceAlignment alignment(m_compiler.resources);
    for (std::size_t i = count; i-- > 0;)
        alignment.Collect(*m_objects[i], builder.riff());
    // Each record is compiled on its own, then laid into the page as the page compile
    // lays it: its size words patched around it and an action block after it.
    m_records.assign(count, {});
    for (std::size_t i = count; i-- > 0;)
        m_records[TargetIndexOf(i)] = m_compiler.Write([&](DRIFFFile& file, CObjectCompileContext& context) {
            (void)alignment.Compile(*m_objects[i], file, context);
        });
    m_mismatches = alignment.Mismatches();

    builder.page(uint32_t(target::PageType::Normal), -1, [&](TargetBuilder::Page& page) {
        for (const std::vector<uint8_t>& record : m_records) {
            const ObjectRecordHeader header = headerOf(record);
            page.object(header.type, [&](DRIFFFile& file) {
                if (record.size() > ObjectRecordHeader::kSize)
                    file.write(record.data() + ObjectRecordHeader::kSize, record.size() - ObjectRecordHeader::kSize);
            }, {}, header);
        }
        page.backgroundColour(kBackground, kWidth, kHeight);
    });
    m_file = builder.finish();
    m_compiled = true;
    return m_file;
}

int ObjectRoundTrip::Load()
{
    if (!m_compiled)
        Compile();
    const int status = m_engine.load(m_file, {kWidth, kHeight});
    if (status == 0)
        m_engine.frame();
    return status;
}

DCompositeObject* ObjectRoundTrip::Widget(std::size_t listPosition)
{
    return listPosition < m_objects.size() ? m_engine.widget<DCompositeObject>(TargetIndexOf(listPosition)) : nullptr;
}

uint32_t ObjectRoundTrip::TypeOf(std::size_t listPosition) const
{
    return headerOf(RecordOf(listPosition)).type;
}

const std::vector<uint8_t>& ObjectRoundTrip::RecordOf(std::size_t listPosition) const
{
    return m_records.at(TargetIndexOf(listPosition));
}

std::optional<int> ObjectRoundTrip::LoadStatus(std::size_t listPosition)
{
    const std::vector<uint8_t>& record = RecordOf(listPosition);
    DPage scratch(&m_engine.project, 0);
    std::unique_ptr<DCompositeObject> widget(DCompositeObject::create(headerOf(record).type, &scratch));
    if (!widget)
        return std::nullopt;
    DFile_Memory file(record);
    if (file.open(DString(u"record")) != 0 || file.seek(target::ObjectRecordHeader::kPrefixSize, DFile::FromStart) != 0)
        return 1;
    int status = 0;
    {
        DFileLimit limit(file, record.size());
        status = widget->load(file);
    }
    // The page lets go of the widget and its primitives together.
    scratch.adopt(0, std::move(widget));
    return status;
}

PagePixels ObjectRoundTrip::RenderPage()
{
    m_engine.frame();
    PagePixels page{kWidth, kHeight, {}};
    page.argb.reserve(std::size_t(kWidth) * kHeight);
    for (int32_t y = 0; y < kHeight; ++y)
        for (int32_t x = 0; x < kWidth; ++x)
            page.argb.push_back(m_engine.pixel(x, y));
    return page;
}

PagePixels ObjectRoundTrip::ComposePreviews()
{
    gfx::Surface surface(kWidth, kHeight);
    {
        gfx::DeviceContext dc(surface);
        dc.fillRect({0, 0, kWidth, kHeight}, gfx::Colour::fromArgb(kBackground));
        for (std::size_t i = m_objects.size(); i-- > 0;) {
            CEditorObject& object = *m_objects[i];
            const gfx::Surface preview = object.RenderPreview();
            if (!preview.isValid())
                continue;
            const CDiagramRect rect = object.GetRect();
            const gfx::Rect destination{rect.left, rect.top, rect.left + preview.width(), rect.top + preview.height()};
            (void)dc.alphaBlend(destination, preview.pixels(), {0, 0, preview.width(), preview.height()});
        }
    }
    return fromPremultiplied(surface.pixels());
}

PagePixels ScreenshotPage(const std::vector<uint8_t>& file, const std::filesystem::path& folder,
                          const std::function<bool(const PagePixels&)>& ready)
{
    const std::filesystem::path target = folder / "page.ddd";
    writeFile(target, std::string(file.begin(), file.end()));
    XvfbSession x(640, 480);
    if (!x.isRunning())
        return {};
    if (x.start({programPath("VX-Engine").string(), target.string()}) <= 0)
        return {};
    const std::filesystem::path png = folder / "screen.png";
    constexpr int32_t width = ObjectRoundTrip::kWidth, height = ObjectRoundTrip::kHeight;
    PagePixels page;
    // A sanitized engine on a loaded machine may take a while to map its window.
    for (int attempt = 0; attempt < 200; ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        CWinFreeImage screen;
        if (!x.grab(png) || !screen.Load(png, 0, 0))
            continue;
        const gfx::ConstPixelBuffer pixels = screen.pixels();
        if (!pixels.isValid())
            continue;
        // The page's top-left corner: the first pixel of the background colour.
        int32_t left = -1, top = -1;
        for (int32_t y = 0; y < pixels.height && top < 0; ++y)
            for (int32_t x0 = 0; x0 < pixels.width; ++x0)
                if ((pixels.row(y)[x0] & 0xFFFFFF) == (ObjectRoundTrip::kBackground & 0xFFFFFF)) {
                    left = x0;
                    top = y;
                    break;
                }
        if (top < 0 || left + width > pixels.width || top + height > pixels.height)
            continue;
        page = {width, height, {}};
        for (int32_t y = 0; y < height; ++y)
            for (int32_t x0 = 0; x0 < width; ++x0)
                page.argb.push_back(pixels.row(top + y)[left + x0]);
        if (ready(page))
            break;
    }
    return page;
}

} // namespace vx::test
