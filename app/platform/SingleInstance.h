#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace qx9 {

// One running copy per user session: a lock file in the user's runtime
// directory. The lock of a copy that crashed is taken over.
class SingleInstance {
  public:
    // `directory` empty: the user's runtime directory.
    explicit SingleInstance(const QString& directory = {});
    bool TryAcquire();
    void Release();

  private:
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace qx9
