// The serial download peers the project's download tests use, built into this suite too.
#include "tests/editor/project/download/DownloadPeer.cpp"
