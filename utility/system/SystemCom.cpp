// The component-model start-up and shutdown: on this platform there is nothing to start, and
// the operations keep their names so that start-up and exit read as they do everywhere.
#include "utility/system/System.h"

bool UTILITY_InitCom() {
    return true;
}

void UTILITY_UninitCom() {}
