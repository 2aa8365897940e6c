#include "platform/services.h"

#include "platform/silentservices.h"

struct Services::Silent {
    MemorySettingsStore settings;
    SilentPrompts prompts;
    SilentModalRunner modal;
    SystemClock clock;
    SilentShell shell;
    SilentHttpClient http;
    SilentTray tray;
};

Services::Services()
    : m_silent(std::make_shared<Silent>()), m_settings(&m_silent->settings),
      m_prompts(&m_silent->prompts), m_modal(&m_silent->modal), m_clock(&m_silent->clock),
      m_shell(&m_silent->shell), m_http(&m_silent->http), m_tray(&m_silent->tray) {}
