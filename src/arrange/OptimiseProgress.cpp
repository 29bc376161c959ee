#include "arrange/OptimiseProgress.h"

#include <QCoreApplication>
#include <QProgressDialog>

#include <atomic>
#include <chrono>
#include <exception>
#include <thread>

namespace arrange {

void runWithProgress(QWidget* parent, const std::function<void(std::function<bool()>)>& work,
                     std::string& failure) {
    std::atomic<bool> cancelled{false};
    std::atomic<bool> done{false};
    failure.clear();
    QProgressDialog progress(QStringLiteral("正在优化编排…"), QStringLiteral("取消"), 0, 0, parent);
    progress.setWindowTitle(QStringLiteral("优化编排"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    std::thread worker([&] {
        try {
            work([&cancelled] { return !cancelled.load(); });
        } catch (const std::exception& e) {
            failure = e.what();
        }
        done = true;
    });
    while (!done) {
        progress.setValue(0);
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        if (progress.wasCanceled()) {
            cancelled = true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    worker.join();
    progress.reset();
}

} // namespace arrange
