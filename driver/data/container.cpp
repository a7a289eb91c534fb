// Placeholder bodies: the owner of this file replaces them with the real operations.
#include "data/container.h"

const char* const styleChunkIds[StyleChunkCount] = {"QXCL", "QXSS", "QXSF", "QXSA", "QXSI", "QXBE", "QXOB", "QXBF", "QXBA", "QXBI", "QXBL", "QXBS"};
