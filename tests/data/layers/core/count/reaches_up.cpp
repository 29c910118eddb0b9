#include "session.h"
