#pragma once

// One viewer per program file, however close together the presses that start viewers
// come. A viewer starting on a file takes the file's lock, and asks whether another
// viewer already listens for it: if so, it hands that one its request (file, workpiece
// and how it was told to read the file) and ends; if not, it keeps the lock until its own window
// listens, so that a viewer started a moment later finds it there.

#include <QLockFile>
#include <QString>

namespace zivek::backplot {

// What the command line said of reading the file: passed on with it, empty when not given.
struct GivenReading {
    QString dialect;  // the --dialect key
    QString rapid;    // the --rapid rate in mm/min
};

class FileClaim {
  public:
    // Waits for the file's lock (a viewer still starting on it holds it), then asks.
    FileClaim(const QString& program, const QString& workpiece, const GivenReading& given = {});
    FileClaim(const FileClaim&) = delete;
    FileClaim& operator=(const FileClaim&) = delete;

    // True when another viewer took the request: this one has nothing left to do.
    bool handedOver() const { return handedOver_; }
    // Once this viewer listens for the file, others may ask it.
    void release() { lock_.unlock(); }

  private:
    QLockFile lock_;
    bool handedOver_ = false;
};

}  // namespace zivek::backplot
