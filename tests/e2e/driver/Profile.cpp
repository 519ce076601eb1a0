#include "e2e/driver/Profile.h"

#include <nlohmann/json.hpp>

namespace e2e {

bool slowProfile() {
    wchar_t value[16] = {};
    DWORD n = GetEnvironmentVariableW(L"SHEETBAY_E2E_PROFILE", value, 16);
    return n > 0 && n < 16 && std::wstring(value) == L"slow";
}

DWORD deadline(DWORD ms) { return slowProfile() ? ms * 3 + 6000 : ms; }

std::string withSlowProfile(const std::string& scenarioUtf8) {
    using nlohmann::json;
    json j = json::parse(scenarioUtf8, nullptr, false);
    if (!j.is_object()) return scenarioUtf8;
    const json latency = {{"commandMs", 400}, {"jitterMs", 100}, {"activationMs", 300}, {"seed", 7}};
    if (!j.contains("latency") || j["latency"].is_null()) j["latency"] = json::object();
    if (j["latency"].is_object())
        for (auto it = latency.begin(); it != latency.end(); ++it)
            if (!j["latency"].contains(it.key())) j["latency"][it.key()] = it.value();
    if (!j.contains("busy") || j["busy"].is_null())
        j["busy"] = json::array({json{{"run", 3}, {"ms", 5000}, {"times", 1}}});
    return j.dump(2);
}

}  // namespace e2e
