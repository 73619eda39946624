#pragma once

#include "settings/security.h"

#include <QString>

#include <optional>

// Wall-clock date and time as the camera keeps it.
struct ClockValue
{
    int year = 2021; // full year; the image keeps year % 100
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;

    friend bool operator==(const ClockValue &, const ClockValue &) = default;
};

struct TimeOfDay
{
    int hour = 0;
    int minute = 0;
    int second = 0;

    friend bool operator==(const TimeOfDay &, const TimeOfDay &) = default;
};

// Everything one settings image carries. Members are named after the window
// control they come from; an index of -1 means "no item selected". Where each
// lies in the image, and how, is its row in ParameterFields.
struct ParameterValues
{
    // MENU: camera, video, setup
    int modecmb = 0, rslcmb = 0, intvcmb = 0, mtcmb = 0, isocmb = 0;
    QString idedit;
    int rslvcmb = 0, vdlcmb = 0, vccmb = 0;
    int dtfmtcmb = 0, motcmb = 0, langcmb = 0, tvcmb = 0, passcmb = 0;
    QString passedit;

    // Not read back from an image: ReadParameterData leaves it unset.
    std::optional<ClockValue> clock;
    TimeOfDay timerStart;
    TimeOfDay timerEnd;

    // MMS: on/off and mode; country and operator; the connection; where pictures go.
    int ComboBox1 = 0;
    int ComboBox2 = 0;
    QString ComboBox3, ComboBox4;
    QString apn, username, password, mmsc, proxy, port;
    QString phone1, phone2, phone3, phone4;
    QString email1, email2, email3, email4;

    // SMTP: on/off and mode; country and operator; the connection; the mail
    // server, its security and account; where pictures go.
    int ComboBox5 = 0;
    int ComboBox6 = 0;
    QString ComboBox7, ComboBox8;
    QString smtpapn, smtpusername, smtppassword;
    int ComboBox9 = 0;
    Security security = Security::NoSsl;
    QString servertxt, porttxt, usernametxt, passwordtxt;
    QString email1txt, email2txt, email3txt;

    // FTP: on/off; the server and account; country and operator; the connection.
    int ComboBox10 = 0;
    QString ftpserver, ftpport, ftpaccount, ftppass, path;
    QString ComboBox12, ComboBox13;
    QString ftpapn, ftpusername, ftppassword;

    friend bool operator==(const ParameterValues &, const ParameterValues &) = default;
};
