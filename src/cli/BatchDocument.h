#pragma once
// The open path of the batch commands: the profile and the --set overrides
// around the document's own open path, which the window uses too.

#include <memory>
#include <string>

#include "cli/CommandLine.h"
#include "core/document/VorlanDoc.h"
#include "core/model/Model.h"
#include "core/model/Settings.h"

namespace plicora {

struct BatchDocument {
  BatchDocument() : doc(CurrentSettings()) {}
  CVorlanDoc doc;
  /// The model as read: the document's model once opened, else the model as
  /// far as the reader got (null when the reader did not run).
  Model* model = nullptr;
  /// The reader's result (a WorkFileResult), -1 when the reader did not run.
  int readResult = -1;
  std::unique_ptr<Model> unopened;
};

/// Opens `options.inputPath` into `document` using CurrentSettings(): loads
/// the profile, then opens the file through the document, applying --set
/// after the file's info block. Returns an exit status: kExitOk, kExitFailed
/// ("Cannot open file", "Cannot load file of specified type", "Failed to
/// load specified file"), kExitRefused, or kExitUsage for a bad option.
int OpenBatchDocument(const CommandLineOptions& options, BatchDocument& document);

}  // namespace plicora
