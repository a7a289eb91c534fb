#pragma once
// The data layer's last failure reason: every reader or writer that fails sets
// one short sentence here (no trailing full stop) so the program can tell the
// user why. Failures are never printed by the data layer itself.

void setFailureReason(const char* reason);  // stores the pointer: pass a string literal
const char* failureReason();                // "" when nothing has failed yet
