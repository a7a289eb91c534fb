#include "data/failure.h"

static const char* lastReason = "";

void setFailureReason(const char* reason) { lastReason = reason ? reason : ""; }

const char* failureReason() { return lastReason; }
