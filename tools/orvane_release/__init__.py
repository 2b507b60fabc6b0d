"""The release engineer's tool: building, signing, checking and serving releases."""
