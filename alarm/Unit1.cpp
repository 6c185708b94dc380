// Alarm application: TForm1 and its handlers.
