#pragma once
// The output pane's jump: the page a diagnostic names is opened (or activated) and the
// object it names selected on it.

#include "editor/views/panes/OutputLineTarget.h"

class CEditorHost;

namespace OutputJump {

// False when the project has no page of that name (nothing happens then). An open page
// gets its selection replaced at once; a closed one is opened with the object selected
// once it is attached, and is not opened when it holds no object of that name.
bool JumpTo(CEditorHost& host, const OutputLineTarget& target);

} // namespace OutputJump
