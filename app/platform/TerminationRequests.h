#pragma once

#include <QObject>
#include <memory>

class QSocketNotifier;

namespace qx9 {

// SIGTERM, SIGINT and SIGHUP, as the session sends them at logout or a shell
// on Ctrl+C, delivered in the Qt loop, so that the tool can end as it does when
// its window closes instead of being cut off. One instance at a time.
class TerminationRequests final : public QObject {
    Q_OBJECT
  public:
    TerminationRequests();
    ~TerminationRequests() override;

  signals:
    void Requested();

  private:
    void Drain();

    int pipe_[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace qx9
