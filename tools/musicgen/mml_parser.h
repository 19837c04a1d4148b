#pragma once

// Reads a music source (.mml) into a Score. The notation, in short:
//
//   ; comment to the end of the line
//   title Morning street        the sequence name
//   tempo 96                    beats per minute at the start
//   time 3/4                    time signature (bar checks use it)
//   macro NAME ... end          a phrase used in tracks as $NAME (defined before use)
//   track NAME CHANNEL          the following lines are one part on channel 1..16 (10: drums)
//
// Inside a track or macro (lower case: notes and state, upper case: controllers):
//   c d e f g a b    notes; + or # sharp, - flat; then a length 1..1920 (a whole note divided by
//                    it: 4 quarter, 8 eighth, 12 eighth triplet) and dots; no length: the `l` one
//   r                rest, with a length like a note
//   ^8               lengthens the note or rest before it (c4^16 is a quarter and a sixteenth)
//   &                joins the note before to the next one: the same pitch is held (a tie,
//                    also across bar lines), another pitch follows without a gap (a slur)
//   {c e g}2         a chord; < and > inside apply to the chord only
//   n38  %snare      a MIDI note number, a General MIDI drum by name (%kick %snare %hat ...)
//   o4 < >           octave (o4 holds middle C), one octave down, up
//   l8 v96 v+8 v-8   default length, velocity, velocity change
//   q7               gate: a note sounds for 7/8 of its length (q8: full)
//   @107             General MIDI program, 0-based (107 koto, 77 shakuhachi, 116 taiko)
//   [ ... : ... ]3   repeat 3 times; on the last time stop at the :
//   |                bar check: must stand at the start of a bar
//   $NAME            the macro's notes
//   T80 V100 P64 E127 REV40 CHO20 PED1 K-2
//                    tempo, volume, pan, expression, reverb and chorus sends, sustain pedal
//                    (1 down, 0 up), transpose in semitones

#include <string>
#include <string_view>

#include "base/result.h"
#include "mml_score.h"

namespace velko::musicgen {

// `file` only names the source in messages, which read FILE:LINE:COL: message.
Result<Score> parseMml(std::string_view text, const std::string& file);

// The drum names accepted after %, as General MIDI key numbers; -1 when unknown.
int drumKey(std::string_view name);

}  // namespace velko::musicgen
