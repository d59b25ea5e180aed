#pragma once
// The settings of a batch run: the user's profile (read, never written) or
// the built-in values, then the --set overrides.

#include "cli/CommandLine.h"

namespace plicora {

struct Model;
struct Settings;

/// Loads the profile that `options` names (--profile PATH, the default
/// profile, or nothing with --no-profile) into `settings`, and checks the
/// --set overrides before any file is read. Shows the reason and
/// returns kExitUsage for conflicting options, an unreadable --profile file
/// or a bad override; kExitOk otherwise.
int PrepareBatchSettings(const CommandLineOptions& options, Settings& settings);

/// Applies the --set overrides in their order (after the work file's info
/// block). Prints the reason and returns kExitUsage when one fails.
int ApplyBatchOverrides(const CommandLineOptions& options, Settings& settings, Model& model);

}  // namespace plicora
