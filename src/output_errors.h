#ifndef FUEL_ECONOMY_OUTPUT_ERRORS_H_
#define FUEL_ECONOMY_OUTPUT_ERRORS_H_

#include <streambuf>

/// A stream buffer that hands every write and flush to `target`, unbuffered,
/// and keeps the errno of the first one that failed. A stream forgets why it
/// went bad, and by the end of a run errno may say something else (any
/// library call may set it, on success too), so the reason is taken when the
/// failure happens.
class OutputErrors : public std::streambuf {
 public:
  explicit OutputErrors(std::streambuf* target) : target_(target) {}

  /// The errno of the first failed write or flush; 0 while none has failed.
  /// A failure that left errno 0 counts as EIO, so that 0 always means none.
  int firstError() const { return firstError_; }

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* text, std::streamsize size) override;
  int sync() override;

 private:
  void failed();

  std::streambuf* target_;
  int firstError_ = 0;
};

#endif  // FUEL_ECONOMY_OUTPUT_ERRORS_H_
