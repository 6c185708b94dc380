// Test doubles of the ports.
