// One filed capture waiting for the image archive: what the sender needs to build and send
// its image, taken when the capture was filed, so a later change to the patient or a crash
// between filing and sending changes nothing about what is sent. Texts are UTF-8.
#pragma once

#include <cstdint>
#include <string>

struct ArchiveItem {
    int32_t customerSerialNumber = 0;
    std::string pid;             // CUSTOMER_PID
    std::string patientName;     // CUSTOMER_NAME
    std::string visitFirst;      // CUSTOMER_VISIT_FIRST as stored ("3/7/2016")
    std::string captureName;     // "P2512101430151": the picture's title
    std::string cameraName;      // the camera's display name
    std::string cameraIdentity;  // the camera's identity text ("1234 5678-CAM00001")
    std::string comment;         // PHOTO_COMMENT when filed
    std::string session;         // the camera session that took it: its study and series
    int32_t version = 0;         // 0 as filed; each re-send of a changed comment counts one up
};
