#pragma once
#include <memory>

class SettingsStore;
class Prompts;
class ModalRunner;
class Clock;
class Shell;
class HttpClient;
class TrayService;

// The scriptable services of one run, always there: a service that was not handed in is a
// silent one (see silentservices.h): boxes answered with their default button and shown
// nowhere, windows not shown, a shell that opens nothing, a tray without icons, an HTTP
// client that fails, the system clock, settings held in memory. The application object
// hands in the production ones; a test hands in the doubles of tests/support. Copies share
// the services handed in and the silent ones.
class Services {
public:
    Services();

    SettingsStore& settings() const { return *m_settings; }
    Prompts& prompts() const { return *m_prompts; }
    ModalRunner& modal() const { return *m_modal; }
    Clock& clock() const { return *m_clock; }
    Shell& shell() const { return *m_shell; }
    HttpClient& http() const { return *m_http; }
    TrayService& tray() const { return *m_tray; }

    // The service must outlive every use of these services (and of their copies).
    void setSettings(SettingsStore& settings) { m_settings = &settings; }
    void setPrompts(Prompts& prompts) { m_prompts = &prompts; }
    void setModal(ModalRunner& modal) { m_modal = &modal; }
    void setClock(Clock& clock) { m_clock = &clock; }
    void setShell(Shell& shell) { m_shell = &shell; }
    void setHttp(HttpClient& http) { m_http = &http; }
    void setTray(TrayService& tray) { m_tray = &tray; }

private:
    struct Silent;
    std::shared_ptr<Silent> m_silent; // what a service not handed in falls back to
    SettingsStore* m_settings;
    Prompts* m_prompts;
    ModalRunner* m_modal;
    Clock* m_clock;
    Shell* m_shell;
    HttpClient* m_http;
    TrayService* m_tray;
};
