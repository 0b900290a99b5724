#pragma once

#include "comun/U_mensajes.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// The tests' stand-in for the user: records every message and question, and answers questions
// from a queue (an empty queue answers "no"). Installed for the life of the object.
class TinteraccionGuionada : public TInteraccion {
public:
    struct Tmensaje {
        QString texto;
        int tipo;
    };

    void mensaje(const QString &texto, int tipo) override { uMensajes.append({texto, tipo}); }
    bool confirmaAceptarCancelar(const QString &texto) override { return responde(texto); }
    bool confirmaSiNo(const QString &texto) override { return responde(texto); }

    void respuestas(std::initializer_list<bool> valores) { uRespuestas.append(valores); }
    // Runs `accion` once, when a question starting with `inicio` is asked and before it is answered
    // (another workstation acting while the user reads the question).
    void antesDePreguntar(const QString &inicio, std::function<void()> accion);
    const QList<Tmensaje> &mensajes() const { return uMensajes; }
    QStringList textos() const;
    const QStringList &preguntas() const { return uPreguntas; }
    void limpia();

private:
    bool responde(const QString &texto);
    QList<Tmensaje> uMensajes;
    QStringList uPreguntas;
    QList<bool> uRespuestas;
    QString uInicio;
    std::function<void()> uAccion;
};

// Installs a scripted handler for one scope and puts the previous one back afterwards.
class TguionInstalado {
public:
    TguionInstalado();
    ~TguionInstalado();
    TinteraccionGuionada *operator->() const { return uGuion.get(); }
    TinteraccionGuionada &guion() const { return *uGuion; }

private:
    std::shared_ptr<TinteraccionGuionada> uGuion;
    std::shared_ptr<TInteraccion> uAnterior;
};
