#pragma once
// The journal's writer thread: replaces and removes recovery copies off the
// main thread, so a frame never waits for the disk (each replacement flushes
// the file and its folder). Jobs run in the order given; the thread touches
// nothing of the editor, only the bytes handed to it.

#include <cstdint>
#include <string>
#include <vector>

void journalWriterStart();
void journalWriterPut(const std::string& path, std::vector<uint8_t> bytes);  // replace path with bytes
void journalWriterRemove(const std::string& path);
void journalWriterFlush();  // returns once every job given so far is done
void journalWriterStop();   // flushes, then ends the thread; safe when not started
// The number of jobs that failed since the last call, with the last reason.
int journalWriterTakeFailures(std::string* reason);
