#include "common/RunState.h"

RunParameterSet RunParameters;
PlatformLock BufferLock;
