// Placeholder bodies: the owner of this file replaces them with the real operations.
#include "data/gscm.h"

