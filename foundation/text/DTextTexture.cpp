#include "foundation/text/DTextTexture.h"

DTextTexture::~DTextTexture() = default;
