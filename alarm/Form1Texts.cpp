#include "alarm/Form1Texts.h"

#include <initializer_list>

#include "runtime/Shell.h"

namespace dz {

namespace {

// Lines joined by CR LF, the way multi-line captions break.
std::string Lines(std::initializer_list<const char*> lines) {
  std::string text;
  bool first = true;
  for (const char* line : lines) {
    if (!first) text += "\r\n";
    text += line;
    first = false;
  }
  return text;
}

}  // namespace

std::string WebSiteHost() {
  std::string host = kWebSiteAddress;
  if (const auto scheme = host.find("://"); scheme != std::string::npos) host.erase(0, scheme + 3);
  if (const auto slash = host.find('/'); slash != std::string::npos) host.erase(slash);
  return host;
}

std::string AuthorNoteCaption() {
  return Lines({
             "I wrote this program to switch off the screen of my notebook",
             "while I fell asleep to music in hotel rooms, away from home.",
             "Moving the mouse did not always bring the screen back, so I",
             "added a wake-up time, and later a song to wake me up.",
             "It grew into a small alarm clock that I now keep running",
             "as my backup alarm whenever I travel.",
             "I hope it wakes you as reliably as it wakes me.",
             "Sleep well!",
         }) +
         "\r\n";
}

std::string FreeSoftwareCaption() {
  return Lines({
             "This software is free, and you may pass its setup file on",
             "to anyone, free of charge.",
             "It comes without any warranty; by using it you accept that",
             "you use it at your own risk.",
             "It has been tested on one system only.",
             "Please send reports of problems and your suggestions",
             "through the support link of my web site:",
         }) +
         "\r\n" + WebSiteHost();
}

std::string InstructionsCaption() {
  return Lines({
      "1. Set the hour and minute.  ",
      "2. Set the repeat time for the song. This time will applied to the end of the song",
      "    or WAV file.",
      "3. Select a song if you have MP3 files on your PC or select a wave file.  This",
      "    program ships with a simple wave file to wake you. A song will be better.",
      "4. If you want to play music with another MediaPlayer in the evening with the",
      "    alarm set, you must set the volume of the music on the MediaPlayer software.",
      "    Make sure the system volume is high enough to wake you.",
      "5. Test the volume by selecting the play button of the small Media interface.",
      "6. If you use a portable computer, like a NoteBook, make sure it is connected",
      "    to the power socket.  If the battery runs out the alarm will not work.",
      "7. Set another alarm, for e.g. your mobile phone.  There must be a backup.",
      "8. Select the \"Switch off screen\" button to switch off the screen.",
      "9. Mouse movement or the alarm time will activate the screen.",
      "10. Restart the alarm program if the computer was switched off. ",
      "      It does not start automatically.",
      "11. Press any key to activate Snooze. Be careful with this function, you may miss",
      "      your flight or meeting or get to work late.",
  });
}

std::string TipsCaption() {
  return Lines({
      "1. Make sure the date and time is correct to avoid problems if you traveled ",
      "    across time zones.",
      "2. There is a notification of the time remaining until the alarm will sound. This",
      "     is a double check.",
      "3.  The time display is big so you can see it from your bed. ",
      "4. Known bug:  Mouse movement does not always re-activate the screen if",
      "    if you need the computer before the alarm activates it.  In this case shut",
      "    off the power.  Therefore, SAVE all work before you activate the alarm or",
      "    switch off the screen.",
  });
}

std::string WebSiteLinkCaption() {
  return "[This software is available from " + WebSiteHost() + "]";
}

std::string ProductDocument(const std::string& product, int gap, const std::string& description) {
  std::string doc;
  doc += R"({\rtf1\ansi\deff0{\fonttbl{\f0\fnil Arial;}})" "\r\n";
  doc += R"({\colortbl ;\red255\green255\blue0;\red0\green255\blue255;})" "\r\n";
  doc += R"(\viewkind4\uc1\pard\cf1\lang1033\b\f0\fs20 )" + product;
  doc += R"(:\cf0\b0\fs16)" + std::string(" ") + std::string(static_cast<std::size_t>(gap), ' ');
  doc += R"(\cf2 )" + description;
  doc += "\r\n" R"(\par })" "\r\n";
  doc += '\0';
  return doc;
}

std::string RTFLabel1Document() {
  return ProductDocument("Dozewell Pocket Timer", 2,
                         "A tiny countdown timer for the corner of your screen that rings when "
                         "the tea, the oven or the meeting is due.");
}

std::string RTFLabel2Document() {
  return ProductDocument("Dozewell Day Planner", 1,
                         "A one-page planner that shows the day's appointments and reminds you "
                         "of each with a gentle chime.");
}

}  // namespace dz
