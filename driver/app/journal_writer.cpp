// One thread, one queue of file jobs.
#include "app/journal_writer.h"

#include <unistd.h>

#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <thread>

#include "state/journal_store.h"

struct WriterJob {
  std::string path;
  std::vector<uint8_t> bytes;
  bool remove;
};

static struct {
  std::mutex lock;
  std::condition_variable changed;  // a job queued, a job done, or stop asked
  std::deque<WriterJob> jobs;
  bool busy = false;                // a job taken off the queue is running
  bool stopping = false;
  int failures = 0;
  std::string failureReason;
  std::thread thread;
} writer;

static void writerRun(WriterJob& job) {
  const bool failed = job.remove ? unlink(job.path.c_str()) != 0 && errno != ENOENT
                                 : writeJournalFile(job.path, job.bytes) != 0;
  if (!failed) return;
  const std::string reason = std::strerror(errno);
  std::lock_guard<std::mutex> hold(writer.lock);
  ++writer.failures;
  writer.failureReason = reason;
}

static void writerLoop() {
  std::unique_lock<std::mutex> hold(writer.lock);
  for (;;) {
    writer.changed.wait(hold, [] { return writer.stopping || !writer.jobs.empty(); });
    if (writer.jobs.empty()) return;  // stopping, and nothing left
    WriterJob job = std::move(writer.jobs.front());
    writer.jobs.pop_front();
    writer.busy = true;
    hold.unlock();
    writerRun(job);
    hold.lock();
    writer.busy = false;
    writer.changed.notify_all();
  }
}

void journalWriterStart() {
  if (writer.thread.joinable()) return;
  writer.stopping = false;
  writer.thread = std::thread(writerLoop);
}

static void writerQueue(WriterJob job) {
  std::lock_guard<std::mutex> hold(writer.lock);
  writer.jobs.push_back(std::move(job));
  writer.changed.notify_all();
}

void journalWriterPut(const std::string& path, std::vector<uint8_t> bytes) {
  writerQueue({path, std::move(bytes), false});
}

void journalWriterRemove(const std::string& path) { writerQueue({path, {}, true}); }

void journalWriterFlush() {
  if (!writer.thread.joinable()) return;
  std::unique_lock<std::mutex> hold(writer.lock);
  writer.changed.wait(hold, [] { return writer.jobs.empty() && !writer.busy; });
}

void journalWriterStop() {
  if (!writer.thread.joinable()) return;
  {
    std::lock_guard<std::mutex> hold(writer.lock);
    writer.stopping = true;
    writer.changed.notify_all();
  }
  writer.thread.join();
}

int journalWriterTakeFailures(std::string* reason) {
  std::lock_guard<std::mutex> hold(writer.lock);
  const int failures = writer.failures;
  writer.failures = 0;
  if (reason) *reason = writer.failureReason;
  return failures;
}
