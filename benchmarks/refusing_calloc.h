// Makes calloc refuse for as long as asked: the benchmark's way to refuse the plug-in's own memory
// that comes from calloc (the lookup memo and the larger tables of walked edges) while the
// stand-in modeller, whose memory comes from operator new, goes on. This program defines calloc,
// and the plug-in it loads binds its imports to this program, so the plug-in's calls come here.
//
// Not in builds under AddressSanitizer, which owns calloc itself: there available() is false and
// nothing is refused.
#ifndef BENCHMARKS_REFUSING_CALLOC_H
#define BENCHMARKS_REFUSING_CALLOC_H

namespace refusing_calloc {

// Whether this build can refuse.
bool available();

// Every calloc call fails while an engaged Refusal lives. Only for code on one thread: the flag is
// plain.
class Refusal {
 public:
  explicit Refusal(bool engaged);
  ~Refusal();
  Refusal(const Refusal&) = delete;
  Refusal& operator=(const Refusal&) = delete;

 private:
  bool engaged_;
};

}  // namespace refusing_calloc

#endif  // BENCHMARKS_REFUSING_CALLOC_H
