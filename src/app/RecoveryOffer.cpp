#include "app/RecoveryOffer.h"

#include "app/DocumentCommands.h"
#include "draw/ImageLayout.h"
#include "state/EditorState.h"
#include "state/RecoveryCopy.h"
#include "state/StateRoutines.h"

#include <vector>

namespace vallo {

namespace {

bool ValidCell(int size, int imageSize) {
    return size >= 8 && size <= 1024 && size % 4 == 0 && size <= imageSize;
}

// The cell the work was done in, when it still fits the picture.
void RestoreCell(EditorState& s, const RecoveryInfo& info) {
    if (ValidCell(info.CharWidth, s.MainImage.Width()) &&
        ValidCell(info.CharHeight, s.MainImage.Height())) {
        s.CharWidth = info.CharWidth;
        s.CharHeight = info.CharHeight;
    }
    if (info.CharLeft >= 0 && info.CharTop >= 0) {
        s.CharLeft = info.CharLeft;
        s.CharTop = info.CharTop;
    }
    ApplyCharLayout(s); // moves a cell that sticks out back inside
    s.Hooks->SetSizeBoxText(std::to_string(s.CharWidth) + "x" + std::to_string(s.CharHeight));
}

} // namespace

void RestoreRecoveredDocument(EditorState& s, RecoveredDocument& doc) {
    LoadedPicture loaded;
    loaded.Picture = doc.Picture;
    loaded.ForbiddenFlags = doc.ForbiddenFlags;
    loaded.TransColor = doc.TransColor;
    InstallPicture(s, loaded);
    RestoreCell(s, doc.Info);
    s.FileName = doc.Info.FileName;
    SetModified(s);
    s.Hooks->SetTitle(DocumentTitle(s.FileName));
}

bool OfferRecoveryCopies(EditorState& s, DocumentUi& ui) {
    if (!s.Recovery)
        return false;
    RecoveryStore& store = s.Recovery->Store();
    std::vector<RecoveryLeftover> leftovers = store.ClaimLeftovers();
    for (RecoveryLeftover& leftover : leftovers) {
        RecoveredDocument doc;
        try {
            doc = store.Read(leftover);
        } catch (const RecoveryError& e) {
            const std::string folder = store.SetAside(leftover);
            ui.ShowError("前回の作業の復元用ファイルを読み込めませんでした (" +
                         std::string(e.what()) + ")。ファイルは " + folder + " に残してあります。");
            continue;
        }
        if (!ui.AskRestoreRecovery()) {
            store.Delete(leftover);
            continue;
        }
        RestoreRecoveredDocument(s, doc);
        s.Recovery->Adopt(std::move(leftover), s.EditCount);
        return true; // older copies stay for the next start
    }
    return false;
}

} // namespace vallo
