#pragma once
// Replacing a file in one step. The new content goes to a temporary file in
// the target's directory, which is flushed, given the old file's permissions
// and renamed over the target; then the directory is flushed so the rename
// survives a crash. Readers see the old file or the new one, never a part, and
// a failure at any step leaves the old file byte for byte and no temporary
// file behind.

#include <cstddef>
#include <cstdint>

// The targets a caller accepts.
enum ReplaceTarget {
  ReplaceAnyTarget,       // a missing target is created with the mode a plain create would give
  ReplaceWritableTarget,  // the target must exist and be writable by us: a read-only file stays
                          // untouched, although the rename alone would pass
  ReplaceUnlessReadOnly,  // a missing target is created; an existing one must be writable by us
};

// The step that failed, or ReplaceDone.
enum ReplaceStep {
  ReplaceDone,
  ReplaceTargetRefused,  // the target is missing (ReplaceWritableTarget) or not writable by us
  ReplaceCreateFailed,   // no temporary file could be made beside the target
  ReplaceWriteFailed,    // writing, flushing, setting permissions on or closing the temporary file
  ReplaceRenameFailed,   // the rename over the target
};

struct ReplaceResult {
  ReplaceStep step;
  int error;  // errno of the failed step; 0 when done
};

// A file is writable by us when its mode grants a write permission and the
// system agrees. The mode is asked first because the system lets a privileged
// user write a file that its owner made read-only.
bool fileWritableByUs(const char* path);

// Writes size bytes from data as the new content of path. A symbolic link is
// followed: its target is replaced and the link stays a link. System calls
// that a signal interrupts are retried.
ReplaceResult replaceFileAtomically(const char* path, const uint8_t* data, size_t size,
                                    ReplaceTarget target);
