#pragma once

// The formats the settings fuzz target feeds, chosen by an input's first
// byte (modulo their count); the rest of the input is the file.

#include <cstdint>

enum class SettingsFormat : std::uint8_t {
    DataFolderFile,  // qmvanck.dat
    OptionFiles,     // chkList.Dat, LoadJob.Dat, chkCom.Dat, chkJob.Dat alike
    DeliveryHeader,  // DELVHEAD.DAT
    OwnerRecord,     // OwnsAct.DAT
    Margins,         // BID.FYL
    SignatureOption, // SigSec.Dat
    Comments,        // Comments.Dat in the data folder
    Count
};
