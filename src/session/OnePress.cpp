#include "session/OnePress.h"

#include "platform/TextEncoding.h"
#include "poi/CategoryCatalogue.h"
#include "position/PositionFile.h"
#include "session/FailureReport.h"
#include "session/FallbackRecord.h"

namespace poirec {

OnePressOutcome RecordOnePress(ProcessState& state, Shell& shell, const OnePressRequest& request,
                               const std::function<LocalDateTime()>& clock) {
  const auto failed = [&shell](OnePressOutcome outcome) {
    shell.PlaySound(SoundEvent::Failed);
    return outcome;
  };
  const PositionFileRead read =
      ReadPositionFile(*state.files, state.positionFix, state.folders.documents);
  if (state.positionFix.valid != 1) {
    shell.Explain(NoFixExplanation(read));
    return failed(OnePressOutcome::NoFix);
  }
  const std::u16string folder = state.folders.program + u"pois/";
  auto name = FindCategoryShownAs(*state.files, folder, request.category);
  if (!name) {
    shell.Explain("no category \"" + Utf16ToUtf8(request.category) + "\" in \"" +
                  Utf16ToUtf8(folder) + "\"");
    return failed(OnePressOutcome::NoSuchCategory);
  }
  // The table holds the one category, chosen as the category page chooses a row.
  state.categoryTable.rows[0] = CategoryRow(folder, std::move(*name));
  state.categoryTable.count = 1;
  state.selectedCategoryIndex = 0;
  state.recordingTime = clock();
  const bool filed = FilePoi(state, shell, request.placement);
  FileFallbackRecord(state, shell);
  return filed ? OnePressOutcome::Filed : failed(OnePressOutcome::NotWritten);
}

}  // namespace poirec
