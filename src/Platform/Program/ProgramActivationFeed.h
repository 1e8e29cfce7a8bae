#pragma once

#include <QObject>

class QGuiApplication;

namespace tessarin {

class ProgramActivation;

// Carries the windowing system's activation of the program (Qt's application state) into the
// host's program activation, which the delegate and the views follow: one road for every
// activation, whoever causes it. Made by `main` for the run, after the application object.
class ProgramActivationFeed final : public QObject {
public:
    ProgramActivationFeed(QGuiApplication& application, ProgramActivation& activation);
};

} // namespace tessarin
