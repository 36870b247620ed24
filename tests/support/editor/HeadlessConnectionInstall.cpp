// Test programs of the model and the views run as the program's headless users do: the
// model's changes go through the program's own headless connection, installed before
// the first test. A test that builds the real application installs the frame's
// connection over it for the application's life.
#include "editor/project/document/CHeadlessConnection.h"

namespace {

const CHeadlessConnection g_connection;

} // namespace
