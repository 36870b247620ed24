#include "foundation/text/DTextDescriptor.h"

DTextDescriptor::~DTextDescriptor() = default;
