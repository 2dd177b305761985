// A stream buffer that passes everything written to another and keeps the error number of the
// first write that failed, read when it failed: by the time a program looks at its output stream
// again, other calls (a check whether standard error is a terminal, say) may have changed errno.
#ifndef VEXO_SIM_FAILURE_RECORDING_BUFFER_H
#define VEXO_SIM_FAILURE_RECORDING_BUFFER_H

#include <streambuf>

namespace standin {

class FailureRecordingBuffer : public std::streambuf {
 public:
  explicit FailureRecordingBuffer(std::streambuf* target) : target_(target) {}

  // The errno of the first failed write or flush, or 0 when none failed.
  int first_error() const { return first_error_; }
  std::streambuf* target() const { return target_; }

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* text, std::streamsize count) override;
  int sync() override;

 private:
  void note_failure();

  std::streambuf* target_;
  int first_error_ = 0;
};

}  // namespace standin

#endif  // VEXO_SIM_FAILURE_RECORDING_BUFFER_H
