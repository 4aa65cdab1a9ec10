#pragma once
// Tells when a record folder is worth looking at again: the system's notices of names
// coming and going in the folder and, where it gives them for a whole folder, of files
// written in place; for what notices miss (a file server that sends none) a periodic tick.
// A burst of notices gives one `due`. It opens no file itself: whoever looks, lists.

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <cstdint>

class QFileSystemWatcher;
class QSocketNotifier;

namespace qel {

class FolderWatch : public QObject {
    Q_OBJECT
public:
    explicit FolderWatch(QObject *parent = nullptr);
    ~FolderWatch() override;

    // Watches `folder` (a new one, or the same again: the periodic tick starts over).
    void watch(const QString &folder);
    void stop();
    bool watching() const { return watching_; }

    // How long the last listing of the folder took: the periodic tick comes a second apart,
    // stretched for a large or slow folder so that looking takes a small share of the time.
    void lookTook(qint64 msecs);
    int checkInterval() const { return interval_; }

signals:
    void due();

private:
    void noticed();
    void fire();
    void ensureNotices();
    void openWriteNotices();
    void closeWriteNotices();

    QFileSystemWatcher *names_ = nullptr;
    std::intptr_t writes_ = -1; // the platform's notices of writes, where it has them
    QSocketNotifier *writesReady_ = nullptr;
    QTimer poll_;
    QTimer quiet_;
    QElapsedTimer burst_;
    QString folder_;
    bool watching_ = false;
    // The system would not watch the folder though it was there (no notices left, say).
    bool namesRefused_ = false;
    int interval_ = 1000;
};

} // namespace qel
