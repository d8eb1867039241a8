#include "engine/RecordIdentity.h"

unsigned NewRecordIdentity()
{
    static unsigned last = 0;
    return ++last;
}
