// The archive association over DcmSCU.
#include "archive/ArchiveLink.h"

#include <dcmtk/config/osconfig.h>
#include <dcmtk/dcmdata/dcuid.h>
#include <dcmtk/dcmnet/scu.h>
#include <dcmtk/oflog/oflog.h>

#include <fmt/format.h>

#include <mutex>

namespace {

constexpr Sint32 kConnectionTimeoutSeconds = 10;
constexpr Uint32 kAssociationTimeoutSeconds = 10;
constexpr Uint32 kMessageTimeoutSeconds = 30;

// Success, and the warnings under which the archive still stored the image (coercion of data
// elements, elements discarded, data set does not match the SOP class).
bool IsStored(Uint16 status) {
    return status == 0x0000 || status == 0x0001 || (status & 0xF000) == 0xB000;
}

}  // namespace

ArchiveLink::ArchiveLink(ArchiveSettings settings) : mSettings(std::move(settings)) {}

ArchiveLink::~ArchiveLink() {
    Close();
}

bool ArchiveLink::Open(std::string& error) {
    // DCMTK reports every request at its default level; our callers report what matters.
    static std::once_flag quiet;
    std::call_once(quiet, [] { OFLog::configure(OFLogger::WARN_LOG_LEVEL); });
    Close();
    auto scu = std::make_unique<DcmSCU>();
    scu->setAETitle(mSettings.callingAe.c_str());
    scu->setPeerAETitle(mSettings.calledAe.c_str());
    scu->setPeerHostName(mSettings.host.c_str());
    scu->setPeerPort(mSettings.port);
    scu->setConnectionTimeout(kConnectionTimeoutSeconds);
    scu->setACSETimeout(kAssociationTimeoutSeconds);
    scu->setDIMSETimeout(kMessageTimeoutSeconds);
    scu->setDIMSEBlockingMode(DIMSE_NONBLOCKING);
    const OFList<OFString> syntaxes = {UID_LittleEndianExplicitTransferSyntax,
                                       UID_LittleEndianImplicitTransferSyntax};
    scu->addPresentationContext(UID_VLPhotographicImageStorage, syntaxes);
    scu->addPresentationContext(UID_VerificationSOPClass, syntaxes);
    OFCondition status = scu->initNetwork();
    if (status.good()) {
        status = scu->negotiateAssociation();
    }
    if (status.bad()) {
        error = fmt::format("association with {}@{}:{}: {}", mSettings.calledAe, mSettings.host,
                            mSettings.port, status.text());
        return false;
    }
    mScu = std::move(scu);
    return true;
}

bool ArchiveLink::IsOpen() const {
    return mScu != nullptr && mScu->isConnected();
}

void ArchiveLink::Close() {
    if (mScu != nullptr && mScu->isConnected()) {
        mScu->releaseAssociation();
    }
    mScu.reset();
}

ArchiveLink::StoreOutcome ArchiveLink::Store(DcmDataset& dataset, std::string& error) {
    if (!IsOpen()) {
        error = "no association";
        return StoreOutcome::kLost;
    }
    const T_ASC_PresentationContextID context =
        mScu->findPresentationContextID(UID_VLPhotographicImageStorage, "");
    if (context == 0) {
        error = "the archive accepts no VL Photographic Image";
        return StoreOutcome::kRefused;
    }
    Uint16 response = 0;
    const OFCondition status = mScu->sendSTORERequest(context, "", &dataset, response);
    if (status.bad()) {
        error = std::string("C-STORE: ") + status.text();
        Close();
        return StoreOutcome::kLost;
    }
    if (!IsStored(response)) {
        error = fmt::format("C-STORE refused with status 0x{:04X}", response);
        return StoreOutcome::kRefused;
    }
    return StoreOutcome::kStored;
}

bool ArchiveLink::Echo(std::string& error) {
    if (!IsOpen()) {
        error = "no association";
        return false;
    }
    const T_ASC_PresentationContextID context =
        mScu->findPresentationContextID(UID_VerificationSOPClass, "");
    const OFCondition status =
        context == 0 ? OFCondition(EC_IllegalCall) : mScu->sendECHORequest(context);
    if (status.bad()) {
        error = std::string("C-ECHO: ") + status.text();
        return false;
    }
    return true;
}
