#include "vexo_sim/failure_recording_buffer.h"

#include <cerrno>

namespace standin {

// No buffer of its own: every write goes straight to the target, so that a failure is seen by
// the write that met it.
FailureRecordingBuffer::int_type FailureRecordingBuffer::overflow(int_type c) {
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  const int_type written = target_->sputc(traits_type::to_char_type(c));
  if (traits_type::eq_int_type(written, traits_type::eof())) note_failure();
  return written;
}

std::streamsize FailureRecordingBuffer::xsputn(const char* text, std::streamsize count) {
  const std::streamsize written = target_->sputn(text, count);
  if (written != count) note_failure();
  return written;
}

int FailureRecordingBuffer::sync() {
  const int result = target_->pubsync();
  if (result != 0) note_failure();
  return result;
}

void FailureRecordingBuffer::note_failure() {
  if (first_error_ == 0) first_error_ = errno != 0 ? errno : EIO;
}

}  // namespace standin
