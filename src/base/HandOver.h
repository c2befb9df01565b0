// What a worker thread hands over to the window's thread: news gathered under
// a lock and taken in one go, a message (through `notify`) when there is news
// the window's thread has not been told of, at most every kBatchInterval for
// mere progress so that painting keeps up, and a cancel flag that the worker
// checks between steps.
#pragma once

#include <windows.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <utility>

namespace gvt {

// The part of every kind of news that tells how far the work is.
struct CWorkProgress {
    // Steps done and steps to do; Total is 0 until the work has counted them.
    std::size_t Done = 0;
    std::size_t Total = 0;
    bool Finished = false;
};

// TNews derives from CWorkProgress.
template <class TNews>
class CHandOver {
public:
    static constexpr DWORD kBatchInterval = 200;  // ms

    explicit CHandOver(std::function<void()> notify = nullptr) : m_notify(std::move(notify)) {}
    CHandOver(const CHandOver&) = delete;
    CHandOver& operator=(const CHandOver&) = delete;

    // The window's thread. After Cancel the worker stops at its next step and
    // nobody is told of anything more.
    void Cancel() noexcept
    {
        {
            const std::lock_guard<std::mutex> lock(m_lock);
            m_cancelled.store(true);
        }
        m_wake.notify_all();
    }
    bool Cancelled() const noexcept { return m_cancelled.load(); }
    // Cancels and takes what was handed over before.
    TNews Stop()
    {
        Cancel();
        return Take();
    }
    // Everything handed over since the last Take; the progress carries on.
    TNews Take()
    {
        const std::lock_guard<std::mutex> lock(m_lock);
        TNews news = std::move(m_news);
        m_news = TNews{};
        m_news.Done = news.Done;
        m_news.Total = news.Total;
        m_told = false;
        return news;
    }

    // The worker: change(news) under the lock; the window's thread is told
    // at once when `now`, otherwise once a batch interval has passed.
    template <class F>
    void Hand(F&& change, bool now)
    {
        std::unique_lock<std::mutex> lock(m_lock);
        change(m_news);
        if (m_told || m_cancelled.load() || !m_notify)
            return;
        const DWORD tick = ::GetTickCount();
        if (!now && tick - m_lastTold < kBatchInterval)
            return;
        m_told = true;
        m_lastTold = tick;
        lock.unlock();
        m_notify();
    }
    void Finish()
    {
        Hand([](TNews& news) { news.Finished = true; }, true);
    }

    // The worker waits, at most `limit` ms, until the window's thread has
    // dealt with what was handed over (Proceed) or cancels.
    void AwaitProceed(DWORD limit)
    {
        std::unique_lock<std::mutex> lock(m_lock);
        m_wake.wait_for(lock, std::chrono::milliseconds(limit), [this] { return m_proceed || m_cancelled.load(); });
    }
    void Proceed()
    {
        {
            const std::lock_guard<std::mutex> lock(m_lock);
            m_proceed = true;
        }
        m_wake.notify_all();
    }

private:
    std::function<void()> m_notify;
    std::atomic<bool> m_cancelled{false};
    std::mutex m_lock;
    std::condition_variable m_wake;
    bool m_proceed = false;
    TNews m_news;
    bool m_told = false;
    DWORD m_lastTold = 0;
};

}  // namespace gvt
