// Media player control.
