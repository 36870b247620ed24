#include "engine/render/DDisplay_Null.h"

#include "engine/core/DProject.h"
#include "engine/render/DRendererBitmap.h"
#include "engine/core/DStatus.h"

namespace {

// Draws like the window's renderer and keeps what was presented.
class DRendererRecording : public DRendererBitmap {
public:
    void present(const DRect& rect) override { presented.push_back(rect); }
    std::vector<DRect> presented;
};

const std::vector<DRect> kNothing;

} // namespace

DDisplay_Null::DDisplay_Null(int frames, Drawing drawing) : m_framesLeft(frames)
{
    if (drawing == Drawing::Software)
        m_renderer = std::make_unique<DRendererRecording>();
}

// The owner closes the display while the project still exists; the destructor only
// lets go of the renderer.
DDisplay_Null::~DDisplay_Null() = default;

int DDisplay_Null::open(DProject* project, int width, int height)
{
    m_project = project;
    m_size = {width, height};
    m_open = true;
    if (m_renderer && m_renderer->init(this, project, width, height) != DStatus::Ok)
        return DStatus::Failed;
    return m_project ? m_project->attach(m_renderer.get(), this) : DStatus::Ok;
}

void DDisplay_Null::close()
{
    if (!m_open)
        return;
    m_open = false;
    if (m_project) {
        m_project->unload();
        m_project->detachRenderer();
    }
    if (m_renderer)
        m_renderer->release();
}

int DDisplay_Null::setSize(DSize size)
{
    if (size.width <= 0 || size.height <= 0)
        return DStatus::Failed;
    m_size = size;
    if (!m_renderer)
        return DStatus::Ok;
    m_renderer->release();
    return m_renderer->init(this, m_project, size.width, size.height);
}

int DDisplay_Null::processMessages()
{
    ++m_passes;
    if (!m_open || m_framesLeft <= 0)
        return 0;
    --m_framesLeft;
    return 1;
}

DBitmap* DDisplay_Null::targetBitmap()
{
    return m_renderer ? m_renderer->target() : nullptr;
}

DRenderer* DDisplay_Null::renderer()
{
    return m_renderer.get();
}

const std::vector<DRect>& DDisplay_Null::presented() const
{
    return m_renderer ? static_cast<const DRendererRecording&>(*m_renderer).presented : kNothing;
}
