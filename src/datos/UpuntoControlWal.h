#pragma once

#include <QString>

#include <condition_variable>
#include <mutex>
#include <thread>

// Copies a SQLite file's write-ahead log back into the file from a thread of its own, on a
// connection of its own, a few times a second: a save then never waits for the disk sync a
// checkpoint ends with, and what is committed reaches the disk within that time however slowly
// the log grows. The saving connections keep a large automatic checkpoint as a backstop.
class TpuntoControlWal {
public:
    explicit TpuntoControlWal(const QString &archivo);
    ~TpuntoControlWal(); // stops and joins the thread
    TpuntoControlWal(const TpuntoControlWal &) = delete;
    TpuntoControlWal &operator=(const TpuntoControlWal &) = delete;

private:
    void corre();

    QString uArchivo;
    std::mutex uCandado;
    std::condition_variable uAviso;
    bool uParar = false;
    std::thread uHilo;
};
