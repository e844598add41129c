#pragma once

#include <cstdint>
#include <memory>

#include <QElapsedTimer>
#include <QProgressDialog>

#include "convert/io/byte_source.h"

namespace caplift {

// Passes on the bytes of `source` and, once reading has gone on for `showAfterMs`, shows `label`
// and a bar of the bytes read out of `total` over `parent`, updated about every 50 ms. It runs in
// the conversion's loop on the main thread, so it lets the windows repaint but lets no user input
// through: nothing may start another conversion or dialog meanwhile. The bar goes with it.
class ProgressSource final : public ByteSource {
 public:
  ProgressSource(ByteSource& source, std::uint64_t total, const QString& label, QWidget* parent,
                 int showAfterMs = 500);

  long read(char* buffer, std::size_t capacity) override;
  std::string failureDescription() const override { return source_.failureDescription(); }

 private:
  ByteSource& source_;
  std::uint64_t total_;
  std::uint64_t done_ = 0;
  std::unique_ptr<QProgressDialog> bar_;
  QElapsedTimer clock_;
  std::int64_t nextUpdate_;  // ms on clock_
};

}  // namespace caplift
