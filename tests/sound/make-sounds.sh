#!/usr/bin/env bash
# Makes the sound tests' files: pure 1 kHz tones as WAV and MP3, and a text
# file that pretends to be an MP3.
set -euo pipefail
dir=$1
mkdir -p "$dir"
sox -n -r 44100 -c 2 -b 16 "$dir/tone2s.wav" synth 2 sine 1000 vol 0.5
sox -n -r 44100 -c 2 -b 16 "$dir/tone4s.wav" synth 4 sine 1000 vol 0.5
sox -n -r 44100 -c 2 -b 16 "$dir/tone10s.wav" synth 10 sine 1000 vol 0.5
sox -n -r 44100 -c 2 -b 16 "$dir/blip.wav" synth 0.2 sine 1000 vol 0.5
lame --quiet -b 128 "$dir/tone2s.wav" "$dir/tone2s.mp3"
printf 'This is a text file, not a song.\r\n' > "$dir/text.mp3"
ls -l "$dir"
