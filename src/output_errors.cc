#include "output_errors.h"

#include <cerrno>

OutputErrors::int_type OutputErrors::overflow(int_type c) {
  // Nothing is buffered here, so there is nothing to make room for.
  if (traits_type::eq_int_type(c, traits_type::eof())) {
    return traits_type::not_eof(c);
  }
  errno = 0;
  const int_type written = target_->sputc(traits_type::to_char_type(c));
  if (traits_type::eq_int_type(written, traits_type::eof())) failed();
  return written;
}

std::streamsize OutputErrors::xsputn(const char* text, std::streamsize size) {
  errno = 0;
  const std::streamsize written = target_->sputn(text, size);
  if (written != size) failed();
  return written;
}

int OutputErrors::sync() {
  errno = 0;
  if (target_->pubsync() == 0) return 0;
  failed();
  return -1;
}

void OutputErrors::failed() {
  if (firstError_ == 0) firstError_ = errno != 0 ? errno : EIO;
}
