#include "engine/DActionList.h"

#include "engine/DFile.h"
#include "engine/DStatus.h"

int DActionList::load(DFile& file)
{
    uint32_t count = 0;
    return readWord(file, count);
}

int DActionList::fire(uint32_t, uint32_t, bool)
{
    return 2;
}
