#pragma once
// The host's transport as the framework reports it to the plug-in.

struct ITransportInfo {
  double tempo = 0.0;             // beats per minute
  double samplePosition = 0.0;    // project time, samples
  double ppqPosition = 0.0;       // project time, quarter notes
  double lastBar = 0.0;           // quarter notes at the start of the current bar
  double cycleStart = 0.0;        // quarter notes
  double cycleEnd = 0.0;          // quarter notes
  int numerator = 4;
  int denominator = 4;
  bool transportIsRunning = false;
  bool transportLoopEnabled = false;
};
