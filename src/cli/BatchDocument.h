#pragma once
// The open path of the batch commands: what the window's open path does,
// without a window. Each step is a function of its own so that the settings
// and development steps can grow independently.

#include <memory>
#include <string>

#include "app/Settings.h"
#include "cli/CommandLine.h"
#include "development/Pages.h"
#include "model/Model.h"

namespace plicora {

struct BatchDocument {
  /// The model as read (kept for every reader result; use it only when
  /// OpenBatchDocument returned kExitOk).
  std::unique_ptr<Model> model;
  /// The reader's result (a WorkFileResult), -1 when the reader did not run.
  int readResult = -1;
  /// The page grid (and, once built, the page list) of the development.
  PageLayout pages;
  /// How many edges got a join number.
  int joinNumbers = 0;
};

/// Opens `options.inputPath` into `document` using CurrentSettings(): loads
/// the profile, checks the path, reads the file, applies --set, measures the
/// edges and prepares the development. Returns an exit status: kExitOk,
/// kExitFailed ("Cannot open file", "Cannot load file of specified type",
/// "Failed to load specified file"), kExitRefused, or what a step reports.
int OpenBatchDocument(const CommandLineOptions& options, BatchDocument& document);

// --- the steps, in the order OpenBatchDocument runs them ---

/// First: the profile (--profile PATH, the user's profile, or the built-in
/// values with --no-profile) into `settings`, never written back; the --set
/// overrides are checked here. kExitUsage for a wrong option or value.
int LoadBatchProfile(const CommandLineOptions& options, Settings& settings);

/// The file can be opened and its extension is ".plc" (any case); shows the
/// message and returns kExitFailed otherwise.
int CheckWorkFilePath(const std::string& path);

/// Reads the file into a new model; maps the reader's result to an exit status.
int ReadBatchModel(const std::string& path, Settings& settings, BatchDocument& document);

/// After reading (the file's info block): the --set KEY=VALUE overrides, in
/// order, with the values derived from them; model keys change `model`.
int ApplySettingOverrides(const CommandLineOptions& options, Settings& settings, Model& model);

/// After measuring: the derived development data (opened corners of the 3D
/// view, bounds, page grid, join numbers) of a model that carries one.
int PrepareDevelopment(const Settings& settings, BatchDocument& document);

}  // namespace plicora
