// The simulated controller plugged into an emulated USB bus: the real libusb of a process that
// runs under umockdev's preload library finds it, opens it and moves its bulk transfers, which
// the board answers. The emulation lives in umockdev's worker thread; every accessor locks.
#pragma once
#include "board.h"
#include "faults.h"
#include <QByteArray>
#include <QMutex>
#include <QVector>
#include <deque>
#include <functional>
#include <memory>

class EmulatedUsbBus;

class UsbBoard
{
public:
    static constexpr quint16 VendorId = 0x04D8;
    static constexpr quint16 ProductId = 0x3101;
    static constexpr int BusNumber = 1;

    ~UsbBoard();
    UsbBoard(const UsbBoard &) = delete;
    UsbBoard &operator=(const UsbBoard &) = delete;

    int address() const { return m_address; }
    // (bus << 16) | address, as the program names a USB board.
    int uid() const { return (BusNumber << 16) | m_address; }

    // Runs f on the board's memories under the lock.
    void withBoard(const std::function<void(SimBoard &)> &f);
    // Requests seen on the OUT endpoint, in order.
    QVector<QByteArray> requests() const;
    // How many requests with this command byte came.
    int requestCount(quint8 command) const;
    void clearRequests();
    // The board stays silent to the version query while set.
    void setSilentVersion(bool silent);
    // The next answer the board makes is held back this long (a board busy with something else).
    void holdNextAnswer(int ms);
    // Every answer is held back this long.
    void setAnswerDelay(int ms);
    // Answers are dropped, corrupted and held back as the plan says (as on the UDP bridge path).
    void setFaults(const FaultOptions &options);
    // Called with every request and its answer (empty when the board stays silent), from
    // umockdev's worker thread.
    void setObserver(std::function<void(const QByteArray &request, const QByteArray &answer)> observer);

    // umockdev's handler calls this for every ioctl on the board's device node.
    bool handleIoctl(void *client);

private:
    friend class EmulatedUsbBus;
    struct Urb;
    struct Pending
    {
        QByteArray bytes;
        qint64 readyAt = 0;
    };

    UsbBoard(int address, const QByteArray &product);
    void submit(void *client, void *arg);
    void reap(void *client, void *arg);
    void discard(void *client, void *arg);
    void answerControl(Urb &urb, const QByteArray &setup);
    void fillWaitingIn();
    void unplugged();

    int m_address;
    QByteArray m_product;
    QString m_devNode;
    QString m_sysPath;
    void *m_handler = nullptr;
    mutable QMutex m_mutex;
    SimBoard m_board;
    QVector<QByteArray> m_requests;
    bool m_silentVersion = false;
    int m_holdNext = 0;
    int m_delay = 0;
    std::unique_ptr<FaultPlan> m_faults;
    bool m_gone = false;
    std::function<void(const QByteArray &, const QByteArray &)> m_observer;
    std::deque<Pending> m_answers;
    std::deque<std::unique_ptr<Urb>> m_waitingIn;
    std::deque<std::unique_ptr<Urb>> m_done;
};

// One umockdev testbed with a USB bus on which boards are plugged and unplugged.
class EmulatedUsbBus
{
public:
    // Makes the testbed. The process must have been started with umockdev's preload library
    // (LD_PRELOAD=libumockdev-preload.so.0, or under umockdev-wrapper).
    EmulatedUsbBus();
    ~EmulatedUsbBus();
    EmulatedUsbBus(const EmulatedUsbBus &) = delete;
    EmulatedUsbBus &operator=(const EmulatedUsbBus &) = delete;

    // Whether umockdev's preload library is loaded into this process.
    static bool preloaded();
    // The testbed's root; a process started with UMOCKDEV_DIR set to it sees the same bus.
    QString rootDir() const;

    // Plugs a board whose product string is product (the right one unless told otherwise).
    // Every plug gets the next device address, as a real bus gives it.
    UsbBoard *plug(const QByteArray &product = QByteArrayLiteral("QB14T37"));
    // Unplugs and forgets the board; a handle the program still holds fails from then on.
    void unplug(UsbBoard *board);

private:
    friend class UsbBoard;
    void *m_testbed = nullptr;
    int m_nextAddress = 2;
    std::vector<std::unique_ptr<UsbBoard>> m_boards;
    // Boards unplugged while the program may still hold them open: kept answering "gone".
    std::vector<std::unique_ptr<UsbBoard>> m_unplugged;
};
