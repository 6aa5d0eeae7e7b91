#include "NotificationQueue.h"

namespace tonvale {

void NotificationQueue::arrived(int count) {
    waiting_ += count;
    if (depth_ == 0) {
        reportWaiting();
    }
}

void NotificationQueue::reportWaiting() {
    while (waiting_ > 0 && depth_ == 0 && !closed_) {
        --waiting_;
        report_();
    }
}

}  // namespace tonvale
