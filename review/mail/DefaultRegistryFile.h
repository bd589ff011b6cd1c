// The registry file of a fresh installation (platform/sys/Registry.h): it records our mail
// adapter's folder, <program folder>/mail/, as the mail client's "Path", so that the MailTo
// buttons work out of the box. A clinic points "Path" elsewhere by editing the file; the
// program never replaces it.
#pragma once

namespace mail {

// Writes <program folder>/registry.reg unless an entry of that name exists. The file is written
// under a temporary name and linked into place only while the name is still free, so an
// existing file, even one written meanwhile by another instance, is never replaced or
// truncated. true when the file was placed now; false when one existed or writing failed
// (nothing is left behind then). Thread-safe.
bool PlaceDefaultRegistryFile();

}  // namespace mail
