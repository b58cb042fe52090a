#pragma once

namespace tiv {

// The toolkit's own windows (file dialogs, the replace question, message-box buttons) speak the
// language of the rest of the interface: Simplified Chinese. Loads the toolkit's translations
// into the application; false when they are not installed, and the toolkit then speaks English.
bool InstallToolkitTranslations();

}  // namespace tiv
