#pragma once

class SettingsStore;
class Prompts;
class ModalRunner;
class Clock;
class Shell;
class HttpClient;
class TrayService;

// The scriptable services of one run. The application object owns the production ones;
// a test builds its own with the doubles of tests/support.
struct Services {
    SettingsStore* settings = nullptr;
    Prompts* prompts = nullptr;
    ModalRunner* modal = nullptr;
    Clock* clock = nullptr;
    Shell* shell = nullptr;
    HttpClient* http = nullptr;
    TrayService* tray = nullptr;
};
